#pragma once

#include "platform/core/filetypes.h"

namespace qv::FileTypes {

// The eight file types, registered at start-up before any window exists.
inline FileTypePtr pImageXTiff, pImageTiff, pApplicationVndMsExcel, pImageAny, pImageBiorad,
    pApplicationExcel, pImagePng, pVideoQuicktime;

void _Initialize();
// Unregisters and releases them, in the order of registration.
void Release();

}  // namespace qv::FileTypes
