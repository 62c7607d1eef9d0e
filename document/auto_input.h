#pragma once
// Automatic channel input: the Auto Input window's controls and its fills of a range of
// channels. A fill never writes the channel table itself for frequencies and tones: it writes
// the grid cell and runs the grid's after-edit step for it, so rounding, band bounding, the
// defaults of a new channel and the encoding of complete rows apply as to typing. Each fill
// (and Set All as a whole) is one gesture of the channel editor, so one Edit.

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace tarvos {

class ChannelEditor;

enum class ToneTarget { Decode, Encode, Both };

// The window's controls as they are when it first opens.
struct AutoInputControls {
    int start = 1;                         // cboAutoInput(5), "1".."16"
    int end = 16;                          // cboAutoInput(6)
    std::string rxFirst;                   // txtAutoInput(0), MHz
    std::string rxStep = "75";             // txtAutoInput(1), kHz
    bool txEqRx = true;                    // chkAutoInput(0) "TX EQU RX"
    std::string txFirst;                   // txtAutoInput(2), MHz
    std::string txStep = "75";             // txtAutoInput(3), kHz
    ToneTarget target = ToneTarget::Both;  // optAutoInput(0..2)
    int toneFirst = 1;                     // cboAutoInput(7): entry of the tone list
    int toneStep = 6;                      // cboAutoInput(11): "0".."25"
    bool random = true;                    // chkAutoInput(1)
    int power = 1;                         // 1 high, 0 low
    int bandwidth = 1;                     // 1 wide, 0 narrow
    int scan = 1;                          // 1 on, 0 off
    int busyLock = 0;                      // 0 off, 1 carrier, 2 QT/DQT
    int vox = 0;                           // 1 on, 0 off
    int pttId = 0;                         // 0 off, 1 begin, 2 end, 3 both
};

// The channel-table field (and grid column) each option group writes.
inline constexpr int kPowerColumn = 5;
inline constexpr int kBandwidthColumn = 6;
inline constexpr int kScanColumn = 7;
inline constexpr int kBusyLockColumn = 8;
inline constexpr int kVoxColumn = 9;
inline constexpr int kPttIdColumn = 10;

// The Set buttons cmdAutoInput(index).
inline constexpr int kSetAllButton = 18;

// Limits of a frequency typed into the window (before the band), 10 Hz units.
inline constexpr int32_t kAutoLowest = 10000000;
inline constexpr int32_t kAutoHighest = 99900000;

class AutoInput {
  public:
    // seed: the random tone choice's seed, so a run can be repeated.
    AutoInput(ChannelEditor& editor, uint32_t seed);

    AutoInputControls controls;

    // txtAutoInput_LostFocus (index 0..3): a first frequency becomes "000.00000" (or empty
    // when it is no number), a step its kHz in the shortest form.
    void LeaveBox(int index);
    // chkAutoInput_Click: a change of the tick with its effects (ticking TX EQU RX runs the
    // receive fill). Setting the value it already has does nothing.
    void SetTxEqRx(bool ticked);
    void SetRandom(bool ticked);

    // cmdAutoInput_Click (index): 0 receive, 1 transmit, 2 tones, 3 power, 4 bandwidth,
    // 5 scan, 6 busy lockout, 7 VOX, 9 PTT ID, 18 Set All (without its wait); 8 does nothing.
    void Set(int index);

    void ReceiveFill();
    void TransmitFill();
    void ToneFill();
    void OptionFill(int column, int value);
    void SetAll();

    // The MHz text as 10 Hz units: rounded to 250 Hz, into 100..999 MHz, then into the band.
    int32_t InputFreModify(std::string_view text) const;
    // The kHz text as 10 Hz units; outside 1 kHz..100 MHz, or no number, it is 25 kHz.
    static int32_t InputStepModify(std::string_view text);
    static constexpr int32_t kFallbackStep = 2500;

  private:
    // A fill as one gesture; a failure is logged and ends it.
    template <class Body>
    void fill(Body&& body);
    void frequencyFill(std::string& first, std::string& step, bool withTransmit, int column);
    int randomEntry(int count);

    ChannelEditor& editor_;
    std::mt19937 random_;
};

}  // namespace tarvos
