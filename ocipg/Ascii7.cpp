#include "ocipg/Ascii7.h"

#include <libpq-events.h>

#include <cstring>

namespace ocipg {

namespace {

bool IsAscii(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) > 127)
            return false;
    return true;
}

// One '?' for the lead byte of each UTF-8 sequence; the continuation bytes
// (10xxxxxx) go.
size_t FoldUtf8(const char* from, size_t length, char* to)
{
    size_t out = 0;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(from[i]);
        if (c < 0x80)
            to[out++] = static_cast<char>(c);
        else if (c >= 0xc0)
            to[out++] = '?';
    }
    return out;
}

// The fold only shortens, so a terminated text of the result is folded where
// it lies. An ASCII text is not written to: libpq's empty texts are constants.
void FoldInPlace(char* text)
{
    const size_t length = text ? std::strlen(text) : 0;
    if (!IsAscii(text, length))
        text[FoldUtf8(text, length, text)] = '\0';
}

constexpr int kErrorFields[] = {
    PG_DIAG_MESSAGE_PRIMARY, PG_DIAG_MESSAGE_DETAIL, PG_DIAG_MESSAGE_HINT, PG_DIAG_CONTEXT,
    PG_DIAG_SCHEMA_NAME,     PG_DIAG_TABLE_NAME,     PG_DIAG_COLUMN_NAME, PG_DIAG_DATATYPE_NAME,
    PG_DIAG_CONSTRAINT_NAME, PG_DIAG_INTERNAL_QUERY,
};

void FoldResult(PGresult* result)
{
    for (int field = 0; field < PQnfields(result); ++field)
        FoldInPlace(PQfname(result, field));
    std::string folded;
    for (int row = 0; row < PQntuples(result); ++row) {
        for (int field = 0; field < PQnfields(result); ++field) {
            const char* value = PQgetvalue(result, row, field);
            const size_t length = static_cast<size_t>(PQgetlength(result, row, field));
            if (PQgetisnull(result, row, field) || IsAscii(value, length))
                continue;
            folded.resize(length);
            folded.resize(FoldUtf8(value, length, folded.data()));
            PQsetvalue(result, row, field, folded.data(), static_cast<int>(folded.size()));
        }
    }
    for (int code : kErrorFields)
        FoldInPlace(PQresultErrorField(result, code));
    FoldInPlace(PQresultErrorMessage(result));
}

int OnEvent(PGEventId id, void* info, void*)
{
    if (id == PGEVT_RESULTCREATE)
        FoldResult(static_cast<PGEventResultCreate*>(info)->result);
    return 1;
}

}  // namespace

std::string Ascii7FromProgram(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (static_cast<unsigned char>(c) > 127)
            c = '?';
    return result;
}

bool FoldResultsToAscii7(PGconn* conn)
{
    return PQregisterEventProc(conn, OnEvent, "ocipg US7ASCII", nullptr) != 0;
}

}  // namespace ocipg
