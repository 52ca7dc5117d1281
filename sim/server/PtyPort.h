#pragma once

#include "ByteOutlet.h"

#include <QSocketNotifier>

#include <memory>

class LinePacer;
class SimMatrix;

// A pseudo-terminal that plays the matrix's serial port. The slave side is
// what the controller opens; `linkPath`, when given, points at it.
class PtyPort : public ByteOutlet {
    Q_OBJECT
public:
    PtyPort(SimMatrix& matrix, const QString& linkPath, bool lineRate, QObject* parent = nullptr);
    ~PtyPort() override;

    bool Open(QString* error);
    // Pulls the adapter: the controller's side fails; a new port appears
    // at the same link path.
    bool Replug(QString* error);

    QString Name() const override { return QStringLiteral("pty"); }
    bool IsOpen() const override { return master_ >= 0; }
    QString SlavePath() const { return slavePath_; }

protected:
    void WriteNow(const QByteArray& bytes) override;

private:
    void Close();
    void OnReadable();
    void WriteToLine(const QByteArray& bytes);

    SimMatrix& matrix_;
    QString linkPath_;
    bool lineRate_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    std::unique_ptr<QSocketNotifier> notifier_;
    LinePacer* incoming_ = nullptr;
    LinePacer* outgoing_ = nullptr;
};
