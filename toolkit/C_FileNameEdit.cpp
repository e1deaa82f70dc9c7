#include "C_FileNameEdit.h"

#include "C_HintSwitch.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {
TFileNameEdit::TOpenDialog& InstalledDialog()
{
    static TFileNameEdit::TOpenDialog dialog;
    return dialog;
}

QString OpenDialog(QWidget* parent, const QString& caption, const QString& start,
                   const QString& filter)
{
    const TFileNameEdit::TOpenDialog& installed = InstalledDialog();
    if (installed)
        return installed(parent, caption, start, filter);
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

// "*.*" means every file where the pipe form comes from; on Linux it would need a dot.
QString QtPatterns(const QString& patterns)
{
    QStringList kept;
    for (QString pattern : patterns.split(';')) {
        pattern = pattern.trimmed();
        if (!pattern.isEmpty())
            kept.append(pattern == "*.*" ? "*" : pattern);
    }
    return kept.isEmpty() ? "*" : kept.join(' ');
}
} // namespace

TFileNameEdit::TFileNameEdit(QWidget* parent) : QWidget(parent), edit(new QLineEdit(this))
{
    auto* button = new QToolButton(this);
    button->setText("...");
    button->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit);
    layout->addWidget(button);
    setFocusProxy(edit);
    connect(button, &QToolButton::clicked, this, &TFileNameEdit::Browse);
    connect(edit, &QLineEdit::textChanged, this, &TFileNameEdit::Change);
}

void TFileNameEdit::SetOpenDialog(TOpenDialog dialog)
{
    InstalledDialog() = std::move(dialog);
}

QString TFileNameEdit::QtFilter(const QString& pipeFilter)
{
    if (pipeFilter.trimmed().isEmpty())
        return {};
    const QStringList parts = pipeFilter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString patterns = QtPatterns(i + 1 < parts.size() ? parts[i + 1] : QString());
        const QString description = parts[i].trimmed();
        filters.append((description.isEmpty() ? patterns : description) + " (" + patterns + ")");
    }
    return filters.join(";;");
}

QString TFileNameEdit::FileName() const
{
    return edit->text();
}

void TFileNameEdit::SetFileName(const QString& fileName)
{
    edit->setText(fileName);
}

void TFileNameEdit::SetShowHint(bool show)
{
    THintSwitch::Set(this, show);
}

void TFileNameEdit::Browse()
{
    const QString start = FileName().isEmpty() ? initialDir : FileName();
    const QString chosen = OpenDialog(this, dialogTitle, start, QtFilter(filter));
    const bool accepted = !chosen.isEmpty();
    if (accepted)
        SetFileName(chosen);
    Q_EMIT AfterDialog(FileName(), accepted);
}
