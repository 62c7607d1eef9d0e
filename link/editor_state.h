// What a transfer needs from the editors, taken from the core models they draw: the function
// page's code and switch boxes, and the image prepared for a write. The window and tarvos-cli
// both go through here, so a write from either sends the same bytes.
#pragma once

#include "functions/function_model.h"
#include "link/observer.h"
#include "memory/channel_codec.h"

namespace tarvos::link {

FunctionPageState FunctionPageOf(const FunctionModel& model);

// Encodes the channel table into the image, then forces the function page's write values.
void PrepareEditorsForWrite(ChannelCodec& codec, FunctionModel& model, ByteImage& image);

}  // namespace tarvos::link
