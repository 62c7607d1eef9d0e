#pragma once
// FaceText: the 456 numbered interface texts, compiled in for the three languages.
// Language 1 is Simplified Chinese, 2 Traditional Chinese, 3 English; any other value is 3.

#include <string>

namespace tarvos {

inline constexpr int kFaceTextCount = 456;

inline int NormalizeLanguage(int language) {
    return (language >= 1 && language <= 3) ? language : 3;
}

// The raw compiled text (UTF-8) of entry index in language; empty outside 0..455.
const char* FaceTextOf(int language, int index);

// The table filled once for the language in force.
class FaceTextTable {
  public:
    explicit FaceTextTable(int language = 3);
    int language() const { return language_; }
    // Entry index (0..455); throws Failure 9 outside.
    const std::string& operator[](int index) const;

  private:
    int language_;
    std::string texts_[kFaceTextCount];
};

}  // namespace tarvos
