// The filter plug-in interface: the nine plain exports of a filter library
// and the types the host binds them with.
//
// Text crosses as zero-terminated UTF-16 strings passed by reference (the
// address of a variable that holds the string pointer); null means no
// string. Strings going in stay the caller's: the plug-in copies them.
// Strings coming out are fresh blocks of the plug-in's that the caller
// copies and gives back through PFPFreeStr, never frees itself.
#pragma once

#include <cstdint>

namespace pv {

using PFPBool = uint8_t;  // nonzero for success
using PFPChar = char16_t;

using PFPGetInfoFn = PFPBool (*)(PFPChar** name, PFPChar** version, PFPChar** description,
                                 PFPChar** author, PFPChar** email, PFPChar** reserved);
using PFPStartFn = PFPBool (*)(const PFPChar* const* text);
using PFPGetNextTextUnitFn = PFPBool (*)(PFPChar** unit);
using PFPSetCurrentUnitFn = PFPBool (*)(const PFPChar* const* text);
using PFPDoneFn = PFPBool (*)(PFPChar** document);
using PFPSetOptionsFn = PFPBool (*)();
using PFPIsOptionsFn = PFPBool (*)();
using PFPGetStatusFn = PFPBool (*)(int32_t* status, int32_t* percent);
using PFPFreeStrFn = void (*)(PFPChar** text);

}  // namespace pv

#define PFP_EXPORT extern "C" __attribute__((visibility("default")))

PFP_EXPORT pv::PFPBool PFPGetInfo(pv::PFPChar** name, pv::PFPChar** version,
                                  pv::PFPChar** description, pv::PFPChar** author,
                                  pv::PFPChar** email, pv::PFPChar** reserved);
PFP_EXPORT pv::PFPBool PFPStart(const pv::PFPChar* const* text);
PFP_EXPORT pv::PFPBool PFPGetNextTextUnit(pv::PFPChar** unit);
PFP_EXPORT pv::PFPBool PFPSetCurrentUnit(const pv::PFPChar* const* text);
PFP_EXPORT pv::PFPBool PFPDone(pv::PFPChar** document);
PFP_EXPORT pv::PFPBool PFPSetOptions();
PFP_EXPORT pv::PFPBool PFPIsOptions();
PFP_EXPORT pv::PFPBool PFPGetStatus(int32_t* status, int32_t* percent);
PFP_EXPORT void PFPFreeStr(pv::PFPChar** text);
