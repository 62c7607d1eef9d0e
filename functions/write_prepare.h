#pragma once
// The image as a write to the radio sends it: the function page's forced settings.

#include "functions/function_model.h"
#include "memory/image.h"
#include "memory/read_back.h"

namespace tarvos {

// Prepares image for a write: re-runs the side-key lists, forces the side-key bytes
// 0x0360..0x0363 to 00 09 00 1D and bit 0 of 0x0367, sets a fixed group of function
// controls through their own handlers, and clears the PTT ID and option bits the radio
// does not take from the channel records. Returns the bits noted for the parameter frame.
//
// The caller encodes the channel table into the image (ChInfoToIicDat) before calling this,
// so the record masks apply to the channels as they will be sent. The model is the page
// showing this image; one that was never loaded is loaded from it first.
WriteParamBits PrepareImageForWrite(FunctionModel& model, ByteImage& image);

}  // namespace tarvos
