#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <string>
#include <vector>

class SimMatrix;

// Control lines on standard input. "@K line" talks to matrix K only; other
// lines go to every matrix. Each line is answered "ok" or "error: ...".
class ControlChannel : public QObject {
    Q_OBJECT
public:
    ControlChannel(std::vector<SimMatrix*> matrices, QObject* parent = nullptr);

    // Also used for the --fault lines given on the command line.
    bool Apply(const std::string& line, std::string* reply);

private:
    void OnReadable();

    std::vector<SimMatrix*> matrices_;
    QSocketNotifier notifier_;
    std::string pending_;
};
