#pragma once
// The radio's side of the programming protocol, byte by byte: the "PROGRAM" handshake, the
// 0x06 end exchange, block reads and writes with the radio's own command letters, command
// 0x75 writes and the closing frame. The letters are the radio's bytes 0x0388..0x038A: when
// 0x0388 is "Z" the radio reads with the letter at 0x0389 and writes with the one at 0x038A,
// otherwise with "R" and "W" and also with the alternative pair "S"/"X" every transfer
// starts with (the programming link goes back to that pair for a radio without a code whose
// letters are no pair it knows). A read with "R" is always understood (the handshake steps
// use it), and a read is answered with the write letter of its pair first, as the radio
// does.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvos::sim {

inline constexpr int kRadioBytes = 0x400;
using RadioMemory = std::array<uint8_t, kRadioBytes>;

// A radio that has never been programmed: 0xFF everywhere (no code, standard letters).
RadioMemory BlankRadioMemory();

class VirtualRadio {
  public:
    explicit VirtualRadio(const RadioMemory& memory = BlankRadioMemory()) : memory(memory) {}

    // One byte from the application; the radio's answer (if any) is appended to out.
    void receive(uint8_t byte, std::vector<uint8_t>& out);
    // A pause on the line: a partly received frame is dropped.
    void resetFrame() { frame_.clear(); }

    uint8_t readLetter() const;
    uint8_t writeLetter() const;
    // Sets the marker and letters at 0x0388..0x038A ("ZIM"); an empty text clears the marker.
    void setLetters(const std::string& zrw);
    // Stores a read/write code of up to three characters (UTF-8) at 0x0385..0x038D.
    void setCode(const std::string& code);

    RadioMemory memory;
    bool programming = false;  // after a handshake, until the closing frame
    int closings = 0;          // closing frames received
    // Every frame the radio understood, in order: "PROGRAM", "06", "CLOSE",
    // "<cmd> AAAA LL" for reads and writes (e.g. "57 0010 10"), "?XX" for a stray byte.
    std::vector<std::string> journal;
    // A worn memory cell (-1: none): every read of this address gives another value.
    int weakCell = -1;

  private:
    void complete(std::vector<uint8_t>& out);
    size_t frameLength() const;
    bool marked() const { return memory[0x0388] == 0x5A; }
    bool isReadLetter(uint8_t first) const;
    bool isWriteLetter(uint8_t first) const;
    uint8_t replyLetter(uint8_t readCmd) const;
    std::vector<uint8_t> frame_;
    std::string idle_;  // the last bytes seen while waiting for "PROGRAM"
    int weakReads_ = 0;
};

}  // namespace tarvos::sim
