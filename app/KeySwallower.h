#pragma once

#include <QObject>

// Discards Enter, Escape and Space key-downs in every window of the program
// except those marked with KeepDefaultKeys(), so that no dialog is closed and
// no button pressed by these keys.
class KeySwallower : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    static void KeepDefaultKeys(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
