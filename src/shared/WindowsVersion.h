#pragma once
// The running Windows version as the platform reports it to this program.
namespace orvelin {

// 5 for Windows XP and Server 2003, 6 for Vista to 8.1, 10 for Windows 10 and 11
// (as far as the program's manifest declares them).
int WindowsMajorVersion();

}  // namespace orvelin
