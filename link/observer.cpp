#include "link/observer.h"

namespace tarvos::link {

int BandFromImage(const ByteImage& image, int addr) {
    auto bcd = [](uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); };
    int units = bcd(image.at(addr)) * 100 + bcd(image.at(addr + 1));  // 100 kHz units
    return units * 10000;
}

int TransferHost::bandLow(const ByteImage& image) {
    return BandFromImage(image, 0x037A);
}
int TransferHost::bandHigh(const ByteImage& image) {
    return BandFromImage(image, 0x037C);
}

}  // namespace tarvos::link
