// Decoding a stored definition of 1 MiB against inflating the same bytes
// deflated with zlib: form blobs should not be a reason to wait on open.
#include "bench/harness/bench_harness.h"
#include "runtime/codec/form_blob.h"

#include <QFile>

#include <cstdio>
#include <zlib.h>

namespace {

QString DefinitionText()
{
    QString text;
    for (const char* name : {"stock_list.xml", "order_entry.xml"}) {
        QFile file(QStringLiteral(ZK_BENCH_FIXTURES "/") + QString::fromLatin1(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        text += QString::fromUtf8(file.readAll());
    }
    return text;
}

} // namespace

int main()
{
    const QString unit = DefinitionText();
    if (unit.isEmpty()) {
        std::fprintf(stderr, "bench_runtime: fixtures not found in %s\n", ZK_BENCH_FIXTURES);
        return 1;
    }
    QString text;
    while (text.size() * 2 < 1024 * 1024)
        text += unit;
    text.truncate(512 * 1024);

    const QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    // Stored as our tools store a definition of this size.
    const QByteArray blob = zk::EncodeFormText(text, zk::SuitableFormBlobWidth(bytes.size()));
    uLongf deflatedSize = compressBound(uLong(bytes.size()));
    QByteArray deflated(qsizetype(deflatedSize), '\0');
    if (compress2(reinterpret_cast<Bytef*>(deflated.data()), &deflatedSize,
                  reinterpret_cast<const Bytef*>(bytes.constData()), uLong(bytes.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK)
        return 1;
    deflated.truncate(qsizetype(deflatedSize));

    bool ok = false;
    if (zk::DecodeFormBlob(blob, &ok) != bytes || !ok) {
        std::fprintf(stderr, "bench_runtime: the blob does not decode back\n");
        return 1;
    }
    QByteArray inflated(bytes.size(), '\0');
    const double ratio = zk::bench::Ratio(
        [&] {
            const QByteArray out = zk::DecodeFormBlob(blob);
            if (out.size() != bytes.size())
                std::abort();
        },
        [&] {
            uLongf size = uLongf(inflated.size());
            if (uncompress(reinterpret_cast<Bytef*>(inflated.data()), &size,
                           reinterpret_cast<const Bytef*>(deflated.constData()),
                           uLong(deflated.size())) != Z_OK)
                std::abort();
        });
    zk::bench::Report("blobdecode_vs_inflate", ratio, "<=2");
    return 0;
}
