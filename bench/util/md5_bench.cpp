// CMd5 over 1 MiB of mixed Chinese and ASCII text, against Qt's MD5 over the
// same GB18030 bytes. CMd5 also converts the text, as its callers need, so
// the ratio shows what a digest of a text costs beside hashing ready bytes.
#include "bench/harness/bench_harness.h"

#include "util/codec.h"
#include "util/md5.h"

#include <QCryptographicHash>

int main()
{
    const QString line = QStringLiteral("订单编号 No.000123，客户：张三，金额 1,234.50 元。\n");
    const qsizetype lineBytes = zk::ToGb18030(line).size();
    const QString text = line.repeated((1024 * 1024 + lineBytes - 1) / lineBytes);
    const QByteArray bytes = zk::ToGb18030(text);

    QString ours;
    QByteArray theirs;
    const double ratio = zk::bench::Ratio(
        [&] {
            zk::CMd5 md5;
            md5.Digest(text);
            ours = md5.Result();
        },
        [&] { theirs = QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex(); });
    if (ours != QString::fromLatin1(theirs))
        return 1;
    zk::bench::Report("md5_vs_qcryptographichash", ratio, "-");
    return 0;
}
