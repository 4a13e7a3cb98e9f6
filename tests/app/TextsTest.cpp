// Every Japanese text of the program must decode, through the platform's own
// code-page-932 conversion, to the text it stands for.
#include "app/Texts.h"
#include "support/Win32Test.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring FromCp932(const char* bytes) {
  const int n =
      MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, -1, NULL, 0);
  if (n <= 0)
    return L"<invalid CP932>";
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, -1, &wide[0], n);
  wide.resize(n - 1);
  return wide;
}

std::string Utf8(const std::wstring& w) {
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, NULL, 0, NULL, NULL);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, NULL, NULL);
  s.resize(n > 0 ? n - 1 : 0);
  return s;
}

TEST(Texts, RunUnderTheJapaneseAnsiCodePage) {
  // Skipped, or under Wine failed, where the ANSI functions would show other
  // glyphs.
  KINSHU_REQUIRE_CP932();
}

TEST(Texts, EveryTextDecodesToItsJapanese) {
  struct {
    const char* bytes;
    const wchar_t* text;
  } const all[] = {
      {texts::kTitle, L"金種計算"},
      {texts::kInputButton, L"入力"},
      {texts::kCloseButton, L"閉じる"},
      {texts::kTotalButton, L"金種合計"},
      {texts::kAmountHeader, L"金額"},
      {texts::kTenThousandYen, L"一万円"},
      {texts::kFiveThousandYen, L"五千円"},
      {texts::kTwoThousandYen, L"二千円"},
      {texts::kThousandYen, L"千円"},
      {texts::kFiveHundredYen, L"五百円"},
      {texts::kHundredYen, L"百円"},
      {texts::kFiftyYen, L"五十円"},
      {texts::kTenYen, L"十円"},
      {texts::kFiveYen, L"五円"},
      {texts::kOneYen, L"一円"},
      {texts::kTotalError, L"合計したいリストの先頭を選択してください。"},
  };
  for (const auto& t : all)
    EXPECT_EQ(Utf8(t.text), Utf8(FromCp932(t.bytes)));
}

} // namespace
