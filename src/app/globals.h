// Module1: the program-wide globals.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/core/folderitem.h"

namespace qv::Module1 {

// The program-wide values that windows hand to one another.

// Quadrant counts: upper-left, upper-right, lower-left, lower-right (indexes 0..3).
inline std::vector<std::int32_t> iroi;
// The latest document handed to the application; loaded by every workspace that opens.
inline FolderItemPtr startfol;
// The details text of a newer version, from the version check.
inline QString versionDetails;
// A workspace has opened in this run (enables File > New window).
inline bool okuser = false;

// Creates the globals at their initial values (class initialisation).
void Initialise();
// Releases them (the end of the finaliser).
void Release();

}  // namespace qv::Module1
