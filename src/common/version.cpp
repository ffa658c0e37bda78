#include "common/version.h"

#include "common/version_info.h"

RMyVerInfo GetMyVerInfo() {
    RMyVerInfo r;
    r.msCompanyName = u"The Tavelko developers";
    r.msFileDescription = u"Tavelko - 単位変換電卓";
    r.msInternalName = u"Tavelko";
    r.msLegalCopyright = u"Copyright (c) 2026 The Tavelko developers";
    r.msOriginalFilename = u"tavelko";
    r.msProductName = TAVELKO_PRODUCT_NAME;
    r.msProductVersion = TAVELKO_PRODUCT_VERSION;
    return r;
}
