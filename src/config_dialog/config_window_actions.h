#pragma once

namespace chronolien {

// What the configuration pages ask of the program's skinned windows beyond the Windows interface.
class ConfigWindowActions {
public:
    virtual ~ConfigWindowActions() = default;
    // A new skin was chosen: the floating, counter and mail windows load their pictures again from
    // it, whether they are shown or not.
    virtual void ReloadSkins() = 0;
};

} // namespace chronolien
