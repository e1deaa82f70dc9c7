#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

class TMouseRelay;

// A skinned panel used as a button: a coloured surface with a switchable outer bevel (the
// pressed look) whose lines of text can scroll continuously while the panel is active.
class TSkinPanel : public QWidget
{
    Q_OBJECT
public:
    enum class TBevel
    {
        None,
        Raised,
        Lowered
    };
    enum class TDirection
    {
        Horizontal, // the lines, joined on one line, run from right to left
        Vertical    // the lines, stacked, run from bottom to top
    };
    struct TScrollSettings
    {
        QStringList lines;
        TDirection direction = TDirection::Horizontal;
        int intervalMs = 30;
        bool cycled = true; // else the text passes once and the panel turns inactive
        TBevel textStyle = TBevel::Raised;
    };

    explicit TSkinPanel(QWidget* parent = nullptr);

    void SetColor(quint32 bgr);
    void SetFontColor(quint32 bgr);
    void SetBevelOuter(TBevel bevel);
    TBevel BevelOuter() const { return bevelOuter; }
    void SetLines(const QStringList& lines);
    void SetScrollSettings(const TScrollSettings& settings);
    const TScrollSettings& ScrollSettings() const { return scroll; }
    void SetActive(bool active);
    bool IsActive() const { return active; }
    // Pixels scrolled; a pass starts from the rest position (the text centred).
    int Offset() const { return active ? offset : RestOffset(); }
    // A tab stop takes the focus from the keyboard only, as a button panel does.
    void SetTabStop(bool tabStop);
    void SetShowHint(bool show);

public Q_SLOTS:
    // Moves the text one pixel on; the timer calls it while the panel is active and shown.
    void Step();

Q_SIGNALS:
    void Click();
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseUp(Qt::MouseButton button, QPoint pos);
    void MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void KeyPress(int key);
    // The panel received the keyboard focus (Tab, a shortcut or the program).
    void Enter();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int Extent() const;
    int TextExtent() const;
    int RestOffset() const;
    QString HorizontalText() const;
    void UpdateTimer();
    void DrawBevel(QPainter& painter) const;
    void DrawLines(QPainter& painter) const;
    void DrawStyledText(QPainter& painter, const QRect& box, int flags, const QString& text) const;

    TMouseRelay* mouse;
    QTimer scrollTimer;
    QColor color{192, 192, 192};
    QColor fontColor{Qt::black};
    TBevel bevelOuter = TBevel::Raised;
    TScrollSettings scroll;
    bool active = false;
    int offset = 0;
};
