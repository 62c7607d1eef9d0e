#pragma once
// The document as a transfer sees it: the function page's code and switch boxes, the image
// prepared for a write, the redisplay after a read and the band in force. The window and
// tarvos-cli both hand this to the programming link, so a transfer from either sends and
// takes the same bytes.

#include "document/radio_document.h"
#include "functions/function_model.h"
#include "link/observer.h"

namespace tarvos {

// The boxes of the function page a transfer reads.
link::FunctionPageState FunctionPageOf(const FunctionModel& model);

class DocumentLinkHost : public link::TransferHost {
  public:
    explicit DocumentLinkHost(RadioDocument& document) : document_(document) {}

    link::FunctionPageState functionPage() override;
    WriteParamBits prepareImageForWrite(ByteImage& image) override;
    void softDisplay() override;
    int bandLow(const ByteImage& image) override;
    int bandHigh(const ByteImage& image) override;

    RadioDocument& document() { return document_; }

  private:
    RadioDocument& document_;
};

}  // namespace tarvos
