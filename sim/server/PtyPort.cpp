#include "PtyPort.h"

#include "LinePacer.h"
#include "SimMatrix.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int kBaud = 19200;
}

PtyPort::PtyPort(SimMatrix& matrix, const QString& linkPath, bool lineRate, QObject* parent)
    : ByteOutlet(parent), matrix_(matrix), linkPath_(linkPath), lineRate_(lineRate)
{
    if (lineRate_) {
        incoming_ = new LinePacer(kBaud, [this](const QByteArray& bytes) { matrix_.Receive(*this, bytes); }, this);
        outgoing_ = new LinePacer(kBaud, [this](const QByteArray& bytes) { WriteToLine(bytes); }, this);
    }
}

PtyPort::~PtyPort()
{
    Close();
}

bool PtyPort::Open(QString* error)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(strerror(errno));
        Close();
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(ptsname(master_));
    // Holding the slave open keeps the master readable while no controller
    // has the port open, and sets the line up raw at 19200 8N2.
    slave_ = ::open(slavePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    if (slave_ < 0 || tcgetattr(slave_, &settings) != 0) {
        *error = QStringLiteral("cannot open %1: %2").arg(slavePath_, strerror(errno));
        Close();
        return false;
    }
    cfmakeraw(&settings);
    cfsetispeed(&settings, B19200);
    cfsetospeed(&settings, B19200);
    settings.c_cflag |= CSTOPB;
    tcsetattr(slave_, TCSANOW, &settings);

    if (!linkPath_.isEmpty()) {
        const QFileInfo existing(linkPath_);
        if (existing.exists() || existing.isSymLink()) {
            if (!existing.isSymLink()) {
                *error = QStringLiteral("%1 exists and is not a link; not replacing it").arg(linkPath_);
                Close();
                return false;
            }
            ::unlink(linkPath_.toLocal8Bit().constData());
        }
        if (::symlink(slavePath_.toLocal8Bit().constData(), linkPath_.toLocal8Bit().constData()) != 0) {
            *error = QStringLiteral("cannot link %1: %2").arg(linkPath_, strerror(errno));
            Close();
            return false;
        }
    }
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &PtyPort::OnReadable);
    matrix_.AddOutlet(this);
    return true;
}

bool PtyPort::Replug(QString* error)
{
    Close();
    return Open(error);
}

void PtyPort::Close()
{
    matrix_.RemoveOutlet(this);
    notifier_.reset();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
    if (!linkPath_.isEmpty() && QFileInfo(linkPath_).isSymLink())
        ::unlink(linkPath_.toLocal8Bit().constData());
}

void PtyPort::OnReadable()
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(master_, buffer, sizeof buffer);
        if (got <= 0)
            return;
        const QByteArray bytes(buffer, static_cast<qsizetype>(got));
        if (incoming_)
            incoming_->Push(bytes);
        else
            matrix_.Receive(*this, bytes);
    }
}

void PtyPort::WriteNow(const QByteArray& bytes)
{
    if (outgoing_)
        outgoing_->Push(bytes);
    else
        WriteToLine(bytes);
}

void PtyPort::WriteToLine(const QByteArray& bytes)
{
    if (master_ < 0)
        return;
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        const ssize_t done = ::write(master_, bytes.constData() + offset,
                                     static_cast<size_t>(bytes.size() - offset));
        if (done <= 0)
            return; // nobody drains the line: the bytes are lost as on a real cable
        offset += done;
    }
}
