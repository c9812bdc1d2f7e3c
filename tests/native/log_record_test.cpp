// The debug log's record text: exact layout, JSON escaping, and staying inside its buffer.
#include "screenshot/diagnostics/log_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using diag::FormatLogRecord;
using diag::LogRecordFields;
using diag::WriteJsonString;

LogRecordFields Fields(const wchar_t* message) {
  LogRecordFields f = {};
  f.log_class = 0x30;
  f.message = message;
  f.process_id = 1234;
  f.process_name = L"Snapshot.exe";
  f.thread_id = 5678;
  f.time = {2024, 3, 7, 9, 5, 2, 45};
  return f;
}

// Formats into a heap buffer of exactly `capacity` characters, so that AddressSanitizer sees any
// write past it.
std::wstring Record(const LogRecordFields& f, size_t capacity = diag::kLogRecordChars) {
  std::vector<wchar_t> buffer(capacity, L'#');
  const size_t n = FormatLogRecord(f, buffer.data(), buffer.size());
  EXPECT_LT(n, capacity);
  EXPECT_EQ(buffer[n], L'\0');
  return std::wstring(buffer.data(), n);
}

std::wstring Json(const wchar_t* text, size_t capacity = 16384) {
  std::vector<wchar_t> buffer(capacity, L'#');
  const size_t n = WriteJsonString(text, buffer.data(), buffer.size());
  EXPECT_EQ(buffer[n], L'\0');
  return std::wstring(buffer.data(), n);
}

// The record with `content` (already in JSON form, quotes included) and the fields above.
std::wstring Expected(const std::wstring& content) {
  return L"{"
         L"\n\t\t\t\"class\" : 48,"
         L"\n\t\t\t\"content\" : " +
         content +
         L","
         L"\n\t\t\t\"pid\" : 1234,"
         L"\n\t\t\t\"pname\" : \"Snapshot.exe\","
         L"\n\t\t\t\"tid\" : 5678,"
         L"\n\t\t\t\"time\" : \"2024-3-7 9:5:2.45\""
         L"\n\t\t\t}";
}

TEST(LogRecord, SixMembersEachOnTheirOwnLineInOrder) {
  EXPECT_EQ(Record(Fields(L"CreateFile [C:\\a.txt] Failed [00000005]")),
            Expected(L"\"CreateFile [C:\\\\a.txt] Failed [00000005]\""));
}

TEST(LogRecord, NumbersPrintAsSignedDecimalAndTimeUnpadded) {
  LogRecordFields f = Fields(L"x");
  f.log_class = 0xFFFFFFFFu;
  f.process_id = 0;
  f.thread_id = 0x80000000u;
  f.time = {1999, 12, 31, 23, 59, 59, 999};
  const std::wstring r = Record(f);
  EXPECT_NE(r.find(L"\"class\" : -1,"), std::wstring::npos) << r;
  EXPECT_NE(r.find(L"\"pid\" : 0,"), std::wstring::npos) << r;
  EXPECT_NE(r.find(L"\"tid\" : -2147483648,"), std::wstring::npos) << r;
  EXPECT_NE(r.find(L"\"time\" : \"1999-12-31 23:59:59.999\"\n"), std::wstring::npos) << r;
}

TEST(LogRecord, EmptyOrMissingTextsGiveEmptyStrings) {
  EXPECT_EQ(Record(Fields(L"")), Expected(L"\"\""));
  EXPECT_EQ(Record(Fields(nullptr)), Expected(L"\"\""));
  LogRecordFields f = Fields(L"m");
  f.process_name = nullptr;
  EXPECT_NE(Record(f).find(L"\"pname\" : \"\","), std::wstring::npos);
}

TEST(JsonString, NewlineBecomesBackslashN) {
  EXPECT_EQ(Json(L"line one\nline two"), L"\"line one\\nline two\"");
}

TEST(JsonString, ShortEscapesForQuoteBackslashAndTheFiveNamedControls) {
  EXPECT_EQ(Json(L"\"\\\b\f\n\r\t"), L"\"\\\"\\\\\\b\\f\\n\\r\\t\"");
}

TEST(JsonString, OtherControlsAsUpperCaseUnicodeEscapes) {
  const wchar_t text[] = {0x01, 0x0B, 0x1A, 0x1F, 0};
  EXPECT_EQ(Json(text), L"\"\\u0001\\u000B\\u001A\\u001F\"");
}

TEST(JsonString, EverythingElseStaysAsItIs) {
  const wchar_t text[] = {L'/', 0x20, 0x7F, 0xE9, 0x4E2D, L'%', 0xD83D, 0xDE00, L'z', 0};
  EXPECT_EQ(Json(text), std::wstring(L"\"") + text + L"\"");
}

TEST(JsonString, CutOnlyBeforeAWholeEscapeAndAlwaysClosed) {
  // Room for 4 characters: quote, "a", then "\n" would leave no room for the closing quote.
  EXPECT_EQ(Json(L"a\nb", 5), L"\"a\"");
  EXPECT_EQ(Json(L"a\nb", 6), L"\"a\\n\"");
  EXPECT_EQ(Json(L"\x01", 8), L"\"\"");
  EXPECT_EQ(Json(L"\x01", 9), L"\"\\u0001\"");
  std::vector<wchar_t> none;  // capacity 0: nothing may be touched, not even a terminator
  EXPECT_EQ(WriteJsonString(L"abc", none.data(), 0), 0u);
}

TEST(LogRecord, LongEscapedMessageIsShortenedInsideTheStringAndTheRecordStaysComplete) {
  // 1023 control characters escape to six characters each: far more than the record holds.
  const std::wstring message(diag::kLogMessageChars - 1, L'\x01');
  const std::wstring r = Record(Fields(message.c_str()));
  const std::wstring head = Expected(L"").substr(0, Expected(L"").find(L"\"content\" : ") + 12);
  const std::wstring tail = Expected(L"\"\"").substr(head.size() + 2);
  ASSERT_EQ(r.substr(0, head.size()), head);
  ASSERT_EQ(r.substr(r.size() - tail.size()), tail);
  const std::wstring content = r.substr(head.size(), r.size() - head.size() - tail.size());
  ASSERT_GE(content.size(), 2u);
  EXPECT_EQ(content.front(), L'"');
  EXPECT_EQ(content.back(), L'"');
  const std::wstring inner = content.substr(1, content.size() - 2);
  ASSERT_EQ(inner.size() % 6, 0u);
  for (size_t i = 0; i < inner.size(); i += 6) ASSERT_EQ(inner.substr(i, 6), L"\\u0001");
  // As much as fits: one more escape would overflow the 4095 usable characters.
  EXPECT_LE(r.size(), diag::kLogRecordChars - 1);
  EXPECT_GT(r.size() + 6, diag::kLogRecordChars - 1);
}

TEST(LogRecord, SurrogatePairIsKeptWholeOrDroppedWhole) {
  const wchar_t message[] = {L'a', L'b', 0xD83D, 0xDE00, 0};
  const size_t empty = Record(Fields(L"")).size();
  // Room for "ab" and the first half only: the pair goes.
  std::wstring r = Record(Fields(message), empty + 1 + 3);
  EXPECT_EQ(r, Expected(L"\"ab\""));
  r = Record(Fields(message), empty + 1 + 4);
  EXPECT_EQ(r, Expected(std::wstring(L"\"") + message + L"\""));
}

TEST(LogRecord, BufferTooSmallForTheFrameCutsTheRecordButNeverOverflows) {
  const std::wstring full = Expected(L"\"m\"");
  EXPECT_EQ(Record(Fields(L"m"), 10), full.substr(0, 9));
  EXPECT_EQ(Record(Fields(L"m"), 1), L"");
  std::vector<wchar_t> none;  // capacity 0: nothing may be touched
  EXPECT_EQ(FormatLogRecord(Fields(L"m"), none.data(), 0), 0u);
}

TEST(LogRecord, WholeCharacterLengthDropsOnlyATrailingFirstHalf) {
  const wchar_t text[] = {L'a', 0xD83D, 0xDE00, L'b', 0};
  EXPECT_EQ(diag::WholeCharacterLength(text, 4), 4u);
  EXPECT_EQ(diag::WholeCharacterLength(text, 3), 3u);
  EXPECT_EQ(diag::WholeCharacterLength(text, 2), 1u);
  EXPECT_EQ(diag::WholeCharacterLength(text, 0), 0u);
}

}  // namespace
