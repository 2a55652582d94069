#include "data/backends/value_text.h"

#include "data/backends/backend.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zk {

QString RealText(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString TrimDecimalZeros(const QString& text)
{
    const qsizetype point = text.indexOf(u'.');
    if (point < 0 || text.contains(u'e', Qt::CaseInsensitive))
        return text;
    qsizetype end = text.size();
    while (end > point + 1 && text[end - 1] == u'0')
        --end;
    if (end == point + 1)
        --end;
    return text.left(end);
}

namespace {

QString QtSqlText(const QVariant& value, QMetaType type)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s);
    case QMetaType::QDate:
        return value.toDate().toString(u"yyyy-MM-dd"_s);
    case QMetaType::QTime:
        return value.toTime().toString(u"HH:mm:ss"_s);
    case QMetaType::Bool:
        return value.toBool() ? u"1"_s : u"0"_s;
    case QMetaType::Double:
    case QMetaType::Float:
        return RealText(value.toDouble());
    case QMetaType::QString:
        // Exact decimals arrive as text (high precision); they lose their trailing zeros
        // like every other number.
        return type.id() == QMetaType::Double ? TrimDecimalZeros(value.toString())
                                              : value.toString();
    default:
        return value.toString();
    }
}

} // namespace

void AppendQtSqlCell(RowSet& rows, const QVariant& value, QMetaType type)
{
    if (value.isNull())
        rows.AppendNull();
    else if (value.typeId() == QMetaType::QByteArray)
        rows.AppendBinary(value.toByteArray());
    else
        rows.AppendText(QtSqlText(value, type));
}

namespace {

ColumnKind KindOfMetaType(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::QString:
    case QMetaType::QChar:
        return ColumnKind::Text;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return ColumnKind::Number;
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime:
        return ColumnKind::DateTime;
    case QMetaType::QByteArray:
        return ColumnKind::Binary;
    default:
        return ColumnKind::Other;
    }
}

} // namespace

QList<ColumnKind> KindsOfMetaTypes(const QList<QMetaType>& types)
{
    QList<ColumnKind> kinds;
    for (const QMetaType& type : types)
        kinds.append(KindOfMetaType(type));
    return kinds;
}

} // namespace zk
