// Every text of the program that its user sees. The Japanese ones are the
// code-page-932 (Shift-JIS) bytes that the ANSI ("A") window functions take:
// this is the one place where they are turned into bytes, and a test decodes
// each of them through the platform's CP932 conversion and compares it with
// the text it must be.
#pragma once

namespace texts {

// The Input command's error box: its text and its caption. "Calcuration" is
// the program's own caption, spelt so on purpose: leave it as it is.
inline constexpr char kInputError[] = "Error";
inline constexpr char kInputErrorCaption[] = "Calcuration";

// The caption of the Total command's error box (its text is kTotalError).
inline constexpr char kTotalErrorCaption[] = "Calculation";

// The label of a row of sums.
inline constexpr char kSumLabel[] = "SUM";

// 金種計算: the main window's title.
inline constexpr char kTitle[] = "\x8b\xe0\x8e\xed\x8c\x76\x8e\x5a";

// Button labels: 入力, 閉じる, 金種合計.
inline constexpr char kInputButton[] = "\x93\xfc\x97\xcd";
inline constexpr char kCloseButton[] = "\x95\xc2\x82\xb6\x82\xe9";
inline constexpr char kTotalButton[] = "\x8b\xe0\x8e\xed\x8d\x87\x8c\x76";

// Column headers: 金額, then the denominations from 一万円 down to 一円.
inline constexpr char kAmountHeader[] = "\x8b\xe0\x8a\x7a";
inline constexpr char kTenThousandYen[] = "\x88\xea\x96\x9c\x89\x7e";
inline constexpr char kFiveThousandYen[] = "\x8c\xdc\x90\xe7\x89\x7e";
inline constexpr char kTwoThousandYen[] = "\x93\xf1\x90\xe7\x89\x7e";
inline constexpr char kThousandYen[] = "\x90\xe7\x89\x7e";
inline constexpr char kFiveHundredYen[] = "\x8c\xdc\x95\x53\x89\x7e";
inline constexpr char kHundredYen[] = "\x95\x53\x89\x7e";
inline constexpr char kFiftyYen[] = "\x8c\xdc\x8f\x5c\x89\x7e";
inline constexpr char kTenYen[] = "\x8f\x5c\x89\x7e";
inline constexpr char kFiveYen[] = "\x8c\xdc\x89\x7e";
inline constexpr char kOneYen[] = "\x88\xea\x89\x7e";

// 合計したいリストの先頭を選択してください。: the Total command's error.
inline constexpr char kTotalError[] =
    "\x8d\x87\x8c\x76\x82\xb5\x82\xbd\x82\xa2\x83\x8a\x83\x58\x83\x67\x82\xcc"
    "\x90\xe6\x93\xaa\x82\xf0\x91\x49\x91\xf0\x82\xb5\x82\xc4\x82\xad\x82\xbe"
    "\x82\xb3\x82\xa2\x81\x42";

} // namespace texts
