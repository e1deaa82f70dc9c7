#pragma once

#include <QTabWidget>

// A tab control that stays quick with hundreds of pages: its tab bar, laid out again at each
// insertion, measures a caption once instead of each time.
class TPageControl : public QTabWidget
{
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
};
