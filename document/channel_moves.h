#pragma once
// Moving channels in the channel grid: two channels exchange places, records and scan bits
// together, so each moves whole (the option bits the grid does not show included). Move Up
// and Move Down take a run of channels past its neighbour. Each is one gesture of the channel
// editor (one undo step) and does nothing while the interface is locked.

namespace tarvos {

class ChannelEditor;

// Channels a and b exchange places; false (nothing changed) when the grid is locked, either
// row is outside it or they are the same row.
bool SwapChannels(ChannelEditor& editor, int a, int b);
// The channels first..last move one row up (by -1) or down (by +1): the neighbour they pass
// takes the place they leave. False when the run would leave the grid or the grid is locked.
bool MoveChannels(ChannelEditor& editor, int first, int last, int by);

}  // namespace tarvos
