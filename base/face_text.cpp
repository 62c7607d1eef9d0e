#include "base/face_text.h"

#include "base/failure.h"

namespace tarvos {

namespace {
// One row per entry: Simplified Chinese, Traditional Chinese, English.
struct Row {
    const char* text[3];
};
#include "base/face_text_table.inc"
}  // namespace

const char* FaceTextOf(int language, int index) {
    if (index < 0 || index >= kFaceTextCount) return "";
    const char* t = kFaceTextRows[index].text[NormalizeLanguage(language) - 1];
    return t ? t : "";
}

FaceTextTable::FaceTextTable(int language) : language_(NormalizeLanguage(language)) {
    for (int i = 0; i < kFaceTextCount; ++i) texts_[i] = FaceTextOf(language_, i);
}

const std::string& FaceTextTable::operator[](int index) const {
    if (index < 0 || index >= kFaceTextCount) Raise(err::IndexOutOfRange);
    return texts_[index];
}

}  // namespace tarvos
