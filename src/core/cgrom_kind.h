#pragma once
// The character generator (ROM) fitted in the pager, as the link reports it.
// Every layer that decides on Chinese prompts, ideographic slots or canned
// ranges asks by these kinds.

namespace rer {

enum CgromKind : int {
  kCgromNone = 0,
  kCgromTraditionalChinese = 1,
  kCgromSimplifiedChinese = 2,
  kCgromOther = 3,
  kCgromUnrecognised = 99,
};

// True for the two Chinese character generators.
constexpr bool IsChineseCgrom(int cgromType) {
  return cgromType == kCgromTraditionalChinese || cgromType == kCgromSimplifiedChinese;
}

}  // namespace rer
