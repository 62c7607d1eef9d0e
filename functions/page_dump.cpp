#include "functions/page_dump.h"

#include "base/error_log.h"
#include "functions/function_model.h"
#include "functions/volume.h"
#include "memory/radio_text.h"

namespace tarvos {

PageDump DumpFunctionPage(int language, ByteImage& image) {
    PageDump dump;
    // A load failure is what an open would log; the controls not reached stay as they started.
    ErrorLog quiet;
    FunctionModel model(language, &quiet);
    model.SoftDisplay(image);
    const auto& rows = model.bindings();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (model.hasEnabler(i)) dump.enabled.emplace_back(i, model.enabled(i));
        if (rows[static_cast<size_t>(i)].kind == ControlKind::Grid) continue;
        const ControlState& s = model.state(i);
        dump.settings.push_back({i, s.selected, s.checked, s.text});
    }
    dump.twoTone = model.twoTone();
    for (int i = 0; i <= 10; ++i)
        dump.volumeCodes[static_cast<size_t>(i)] = image.at(kVolumeLevel0Addr + i);
    dump.volumeUseTable = VolumeUseTable(image);
    dump.rdWrCodeStored = model.rdWrCodeStored();
    dump.rdWrCode = DecodeRdWrCode(StoredRdWrCodeBytes(image));
    return dump;
}

}  // namespace tarvos
