// The template and defaults images the installation ships load with nothing to normalise:
// every field is inside its load rule, so a new file shows exactly what was written.
#include <gtest/gtest.h>

#include <filesystem>

#include "functions/function_model.h"
#include "memory/data_file.h"

namespace tarvos {
namespace {

class ShippedImage : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedImage, LoadsWithoutNormalisation) {
    std::filesystem::path path = std::filesystem::path(TARVOS_BINARY_DIR) / "data" / GetParam();
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "not generated in this build: " << path;
    RecordingSink sink;
    ErrorLog log(&sink);
    ByteImage image;
    ASSERT_TRUE(OpenDatFile(path, image, log));
    ByteImage before = image;
    FunctionModel model(3, &log);
    model.SoftDisplay(image);
    EXPECT_TRUE(sink.lines.empty());
    for (int a = 0; a < image.size(); ++a)
        EXPECT_EQ(image[a], before[a]) << GetParam() << " normalised at 0x" << std::hex << a;
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedImage, ::testing::Values("dhcpqec.def", "DefRadioSet.def"));

}  // namespace
}  // namespace tarvos
