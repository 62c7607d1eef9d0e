#pragma once
// A radio document started as the application starts it, from the shipped files of the build.

#include <memory>
#include <vector>

#include "base/settings_file.h"
#include "document/radio_document.h"
#include "memory/channel_layout.h"
#include "memory/data_file.h"
#include "memory/memory_fixture.h"

namespace tarvos::test {

struct StartedDocument {
    explicit StartedDocument(int language = 3) : doc(log, language) {
        doc.SetTemplate(BuiltData(kTemplateFileName));
        doc.SetFiles(folder / "Untitled.dat", BuiltData(kDefaultsFileName));
        doc.SetLayout(ReadChInfo(SettingsFile(BuiltData(kSettingsFileName)), language, log));
        doc.InitChTable();
        doc.SelectModel(0);
        doc.SelectBand(kStartBandIndex);
        doc.ResetHistory();
        doc.addObserver([this](DocumentChange c) { changes.push_back(c); });
    }
    TempFolder folder;
    RecordingSink sink;
    ErrorLog log{&sink};
    RadioDocument doc;
    std::vector<DocumentChange> changes;
};

}  // namespace tarvos::test
