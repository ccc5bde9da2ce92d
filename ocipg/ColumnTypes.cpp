#include "ocipg/ColumnTypes.h"

#include "ocipg/Errors.h"

#include <algorithm>

namespace ocipg {

namespace {

// How the display size follows from the type modifier.
enum class Size {
    Fixed,    // m_nSize bytes
    Chars,    // typmod - 4 characters in the database's encoding, else unbounded
    Numeric,  // precision and scale from typmod, else 40 (Oracle's NUMBER)
    Bits,     // typmod bits, else unbounded
};

struct TypeRow {
    Oid m_nOid;
    ub2 m_nSqlt;
    ub2 m_nDataSize;  // 0: the display size
    Size m_size;
    ub2 m_nSize;
};

// Fixed sizes hold the longest text output of the type (BC dates, extreme
// years, time zone offsets with seconds).
constexpr TypeRow kTypes[] = {
    {16, SQLT_BOL, 1, Size::Fixed, 5},             // bool: false
    {17, SQLT_BIN, 0, Size::Fixed, kUnboundedDisplaySize},  // bytea
    {18, SQLT_AFC, 1, Size::Fixed, 4},             // "char": \ooo
    {19, SQLT_CHR, 0, Size::Fixed, 63},            // name: NAMEDATALEN - 1 bytes
    {20, SQLT_NUM, 22, Size::Fixed, 20},           // int8
    {21, SQLT_NUM, 22, Size::Fixed, 6},            // int2
    {23, SQLT_NUM, 22, Size::Fixed, 11},           // int4
    {25, SQLT_CHR, 0, Size::Fixed, kUnboundedDisplaySize},  // text
    {26, SQLT_NUM, 22, Size::Fixed, 10},           // oid
    {650, SQLT_CHR, 0, Size::Fixed, 43},           // cidr
    {700, SQLT_IBFLOAT, 4, Size::Fixed, 15},       // float4
    {701, SQLT_IBDOUBLE, 8, Size::Fixed, 24},      // float8
    {790, SQLT_NUM, 22, Size::Fixed, 32},          // money
    {829, SQLT_CHR, 0, Size::Fixed, 17},           // macaddr
    {869, SQLT_CHR, 0, Size::Fixed, 43},           // inet
    {1042, SQLT_AFC, 0, Size::Chars, 0},           // char(n)
    {1043, SQLT_CHR, 0, Size::Chars, 0},           // varchar(n)
    {1082, SQLT_DAT, 7, Size::Fixed, 13},          // date
    {1083, SQLT_CHR, 0, Size::Fixed, 15},          // time
    {1114, SQLT_TIMESTAMP, 11, Size::Fixed, 31},   // timestamp
    {1184, SQLT_TIMESTAMP_TZ, 13, Size::Fixed, 40},  // timestamptz
    {1186, SQLT_INTERVAL_DS, 0, Size::Fixed, 100},   // interval
    {1266, SQLT_CHR, 0, Size::Fixed, 24},          // timetz
    {1560, SQLT_CHR, 0, Size::Bits, 0},            // bit(n)
    {1562, SQLT_CHR, 0, Size::Bits, 0},            // varbit(n)
    {1700, SQLT_NUM, 22, Size::Numeric, 0},        // numeric(p,s)
    {2950, SQLT_CHR, 0, Size::Fixed, 36},          // uuid
};

int NumericSize(int typmod)
{
    if (typmod < 4)
        return 40;
    const int precision = ((typmod - 4) >> 16) & 0xffff;
    int scale = (typmod - 4) & 0x7ff;
    if (scale & 0x400)
        scale -= 0x800;  // negative scales are stored in 11 bits
    const int intDigits = std::max(precision - scale, 1);
    const int fraction = scale > 0 ? scale + 1 : 0;
    return 1 + intDigits + fraction;
}

}  // namespace

ColumnInfo DescribeColumn(const char* name, Oid type, int typmod, int maxCharBytes)
{
    ColumnInfo column;
    column.m_strName = OracleName(name ? name : "");
    int size = kUnboundedDisplaySize;
    ub2 dataSize = 0;
    for (const TypeRow& row : kTypes) {
        if (row.m_nOid != type)
            continue;
        column.m_nDataType = row.m_nSqlt;
        dataSize = row.m_nDataSize;
        switch (row.m_size) {
        case Size::Fixed:
            size = row.m_nSize;
            break;
        case Size::Chars:
            if (typmod >= 4)
                size = (typmod - 4) * maxCharBytes;
            break;
        case Size::Numeric:
            size = NumericSize(typmod);
            break;
        case Size::Bits:
            if (typmod > 0)
                size = typmod;
            break;
        }
        break;
    }
    column.m_nDisplaySize = static_cast<ub2>(std::clamp(size, 1, static_cast<int>(kMaxDisplaySize)));
    column.m_nDataSize = dataSize ? dataSize : column.m_nDisplaySize;
    return column;
}

}  // namespace ocipg
