// A filter library with only the two exports that listing needs.
#include "filters/FilterPlugin.h"
#include "textutil/TextConvert.h"

PFP_EXPORT pv::PFPBool PFPGetInfo(pv::PFPChar** name, pv::PFPChar** version,
                                  pv::PFPChar** description, pv::PFPChar** author,
                                  pv::PFPChar** email, pv::PFPChar** reserved) {
    *name = pv::NewWideZ(u"Info only");
    for (pv::PFPChar** out : {version, description, author, email, reserved})
        *out = pv::NewWideZ(u"");
    return 1;
}

PFP_EXPORT void PFPFreeStr(pv::PFPChar** text) { pv::FreeWideZ(*text); }
