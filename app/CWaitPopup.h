#pragma once

#include "PopupWindow.h"

// A verb with animated dots while a page waits for the matrix.
class CWaitPopup : public PopupWindow {
    Q_OBJECT
public:
    explicit CWaitPopup(QWidget* parent);

    void Open(const QString& text, const QRect& mainClientRect);
    void Refresh(const QString& text);
};
