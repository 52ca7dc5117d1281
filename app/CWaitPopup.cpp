#include "CWaitPopup.h"

#include "DialogUnits.h"

CWaitPopup::CWaitPopup(QWidget* parent)
    : PopupWindow({QSize(66, 16), QRect(0, 3, 64, 11), 3, 200}, parent)
{
}

void CWaitPopup::Open(const QString& text, const QRect& mainClientRect)
{
    SetLabelText(text);
    const DialogUnits du(font());
    move(mainClientRect.topLeft() + QPoint(du.X(125), du.Y(130)));
    show();
}

void CWaitPopup::Refresh(const QString& text)
{
    SetLabelText(text);
}
