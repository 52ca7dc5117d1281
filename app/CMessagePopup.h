#pragma once

#include "PopupWindow.h"

// One line of text; closed by a timer of the window that opened it.
class CMessagePopup : public PopupWindow {
    Q_OBJECT
public:
    explicit CMessagePopup(QWidget* parent);

    // The label takes `text` only when the popup opens; an open popup keeps
    // its first text.
    void Open(const QString& text, const QRect& mainClientRect);
};
