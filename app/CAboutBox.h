#pragma once

#include <QDialog>

// The program's name and version with one OK button.
class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent);
};
