#include "link/observer.h"

#include "memory/band.h"

namespace tarvos::link {

int TransferHost::bandLow(const ByteImage& image) {
    return ReadBandLimit(image, kBandLowAddr);
}
int TransferHost::bandHigh(const ByteImage& image) {
    return ReadBandLimit(image, kBandHighAddr);
}

}  // namespace tarvos::link
