#pragma once
// This machine's memory manager pages out what has not been used for a few seconds, file
// data and folder entries included, so a step that finds its files cold waits for the disk
// and measures that instead. Each side of a comparison is handed what it works on warm.
#include "BenchSetupFolder.h"

namespace orvelin::bench {

// Reads every source file of the layout.
void WarmSources(const FileLayout& layout);
// Looks up every installed file and folder of the layout.
void WarmDestinations(const FileLayout& layout);

}  // namespace orvelin::bench
