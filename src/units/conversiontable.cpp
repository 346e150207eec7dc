#include "units/conversiontable.h"
#include <QIODevice>
QString PadRight(const QString &text, int width) { return text.leftJustified(width, QLatin1Char(' '), true); }
QByteArray EncodeConversionRecord(const ConversionRecord &) { return QByteArray(ConversionRecordSize, ' '); }
ConversionRecord DecodeConversionRecord(const QByteArray &) { return {}; }
ConversionTableLoad ReadConversionRecords(QIODevice &) { return {}; }
void SortConversionTable(QList<ConversionRecord> &) {}
QStringList BuildUnitTypeList(const QList<ConversionRecord> &) { return {}; }
void ConversionTableData::reset(QList<ConversionRecord> records, bool) { m_records = std::move(records); }
int ConversionTableData::indexOfName(const QString &) const { return -1; }
QList<int> ConversionTableData::indexesOfName(const QString &) const { return {}; }
namespace { ConversionTableData &table() { static ConversionTableData t; return t; } }
const ConversionTableData &ConversionTable() { return table(); }
QStringList UnitTypeList() { return table().unitTypes(); }
void LoadConversionTable(const QString &) {}
void LoadConversionTable(QIODevice &) {}
