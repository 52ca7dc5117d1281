#pragma once

#include "CommandFrame.h"

#include <QByteArray>
#include <algorithm>

// "A5 5B 02 ..." -> bytes; blanks are skipped.
inline QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text));
}

inline CommandFrame FrameOf(const QByteArray& bytes)
{
    CommandFrame frame{};
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), kFrameSize), frame.begin());
    return frame;
}

inline QByteArray BytesOf(const CommandFrame& frame)
{
    return QByteArray(reinterpret_cast<const char*>(frame.data()), kFrameSize);
}
