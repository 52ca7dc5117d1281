#include "CGeneralPage.h"

#include "DialogUnits.h"
#include "LampLabel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QString kConnect = QStringLiteral("Connect");
}

// The left column of the page, at its dialog-unit positions.
void CGeneralPage::BuildConnectionColumn()
{
    QFont pageFont = font();
    pageFont.setPointSize(10);
    setFont(pageFont);
    const DialogUnits du(pageFont);
    auto place = [&](QWidget* widget, int x, int y, int w, int h) {
        widget->setGeometry(du.Rect(x, y, w, h));
        return widget;
    };

    modeGroup_ = new QGroupBox(QStringLiteral("Control Mode Select"), this);
    place(modeGroup_, 7, 7, 147, 53);
    comMode_ = new QRadioButton(QStringLiteral("COM Control Mode"), this);
    place(comMode_, 15, 25, 77, 10);
    tcpMode_ = new QRadioButton(QStringLiteral("TCP Control Mode"), this);
    place(tcpMode_, 15, 41, 74, 10);

    comGroup_ = new QGroupBox(QStringLiteral("COM Control Mode"), this);
    place(comGroup_, 7, 69, 147, 53);
    portLabel_ = new QLabel(QStringLiteral("Port"), this);
    place(portLabel_, 15, 87, 14, 8);
    portList_ = new QComboBox(this);
    place(portList_, 15, 99, 71, 13);
    comLamp_ = new LampLabel(this);
    place(comLamp_, 119, 80, 20, 20);
    comButton_ = new QPushButton(kConnect, this);
    place(comButton_, 103, 99, 46, 14);

    tcpGroup_ = new QGroupBox(QStringLiteral("TCP Control Mode"), this);
    place(tcpGroup_, 7, 131, 147, 68);
    ipLabel_ = new QLabel(QStringLiteral("Matrix  IP"), this);
    place(ipLabel_, 15, 146, 32, 8);
    ipList_ = new QComboBox(this);
    ipList_->setEditable(true);
    ipList_->setInsertPolicy(QComboBox::NoInsert);
    place(ipList_, 15, 158, 71, 13);
    tcpLamp_ = new LampLabel(this);
    place(tcpLamp_, 119, 142, 20, 20);
    tcpButton_ = new QPushButton(kConnect, this);
    place(tcpButton_, 103, 162, 46, 14);

    for (QGroupBox* group : {modeGroup_, comGroup_, tcpGroup_})
        group->lower();

    connect(comMode_, &QRadioButton::clicked, this, &CGeneralPage::SelectSerialMode);
    connect(tcpMode_, &QRadioButton::clicked, this, &CGeneralPage::SelectTcpMode);
    connect(comButton_, &QPushButton::clicked, this, &CGeneralPage::ToggleComLink);
    connect(tcpButton_, &QPushButton::clicked, this, &CGeneralPage::ToggleTcpLink);
    connect(ipList_, &QComboBox::activated, this, &CGeneralPage::ChooseMatrix);

    comMode_->setChecked(true);
    for (QWidget* tcpControl : std::initializer_list<QWidget*>{tcpGroup_, ipList_, tcpButton_, ipLabel_})
        tcpControl->setEnabled(false);
}
