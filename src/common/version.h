// The program's version information, the record a version resource would hold.
#pragma once

#include <string>

struct RMyVerInfo {
    std::u16string msCompanyName;
    std::u16string msFileDescription;
    std::u16string msFileVersion;  // never filled: only the string keys below are read
    std::u16string msInternalName;
    std::u16string msLegalCopyright;
    std::u16string msLegalTrademarks;
    std::u16string msOriginalFilename;
    std::u16string msProductName;  // "Tavelko/" + platform
    std::u16string msProductVersion;
    std::u16string msComments;
    std::u16string msSpecialBuild;
    std::u16string msPrivateBuild;
};

// The version record of this build.
RMyVerInfo GetMyVerInfo();
