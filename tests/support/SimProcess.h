#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

// matrix-sim run for one test: started with the given options, stopped when
// the object goes. Control() sends a control line and waits for its answer.
class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments)
    {
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(QStringLiteral(MATRIX_SIM_PATH), arguments);
        started_ = process_.waitForStarted(10000) && WaitForLine(QStringLiteral("ready"));
    }
    ~SimProcess()
    {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished(5000);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Started() const { return started_; }
    QStringList Output() const { return lines_; }
    QString ErrorOutput() { return QString::fromLocal8Bit(process_.readAllStandardError()); }

    // Sends a control line; true when the simulator answered "ok".
    bool Control(const QString& line)
    {
        process_.write((line + QLatin1Char('\n')).toUtf8());
        const qsizetype before = lines_.size();
        for (int i = 0; i < 100; ++i) {
            for (qsizetype j = before; j < lines_.size(); ++j) {
                if (lines_[j] == QStringLiteral("ok"))
                    return true;
                if (lines_[j].startsWith(QStringLiteral("error")))
                    return false;
            }
            if (!process_.waitForReadyRead(100))
                continue;
            ReadLines();
        }
        return false;
    }

    // Waits for a line of standard output that starts with `prefix`.
    bool WaitForLine(const QString& prefix, int timeoutMs = 10000)
    {
        for (int waited = 0; waited < timeoutMs; waited += 100) {
            ReadLines();
            for (const QString& line : lines_) {
                if (line.startsWith(prefix))
                    return true;
            }
            process_.waitForReadyRead(100);
        }
        return false;
    }

    QString LastLineStarting(const QString& prefix)
    {
        ReadLines();
        for (qsizetype i = lines_.size() - 1; i >= 0; --i) {
            if (lines_[i].startsWith(prefix))
                return lines_[i];
        }
        return {};
    }

private:
    void ReadLines()
    {
        while (process_.canReadLine())
            lines_ << QString::fromUtf8(process_.readLine()).trimmed();
    }

    QProcess process_;
    QStringList lines_;
    bool started_ = false;
};
