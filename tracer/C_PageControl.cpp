#include "tracer/C_PageControl.h"

#include <QEvent>
#include <QHash>
#include <QTabBar>

namespace {
// The sizes measured by the style, by caption, until the font or the style changes.
class TMeasuredTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        const QString caption = tabText(index);
        auto known = sizes.constFind(caption);
        if (known == sizes.cend())
            known = sizes.insert(caption, QTabBar::tabSizeHint(index));
        return *known;
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            sizes.clear();
        QTabBar::changeEvent(event);
    }

private:
    mutable QHash<QString, QSize> sizes;
};
} // namespace

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TMeasuredTabBar(this));
}
