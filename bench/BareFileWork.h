#pragma once
// The least the programs' file work can cost: the install's folders made and its files copied
// with CopyFileW, and the files deleted with DeleteFileW and the emptied folders removed,
// with nothing around the calls. A failed call throws.
#include "BenchSetupFolder.h"

namespace orvelin::bench {

void BareCopy(const FileLayout& layout);
void BareDelete(const FileLayout& layout);

}  // namespace orvelin::bench
