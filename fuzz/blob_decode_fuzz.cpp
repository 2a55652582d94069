// Arbitrary bytes as a stored form blob: the decoder must refuse or decode
// them without touching memory outside its buffers.
#include "runtime/codec/form_blob.h"

#include <QtEndian>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray blob =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    bool ok = false;
    QString error;
    const QByteArray bytes = zk::DecodeFormBlob(blob, &ok, &error);
    if (ok != error.isEmpty())
        std::abort();
    if (ok && bytes.size() != qsizetype(qFromLittleEndian<quint32>(data)))
        std::abort();
    const QString text = zk::DecodeFormText(blob);
    if (text.size() > bytes.size() / 2)
        std::abort();
    return 0;
}
