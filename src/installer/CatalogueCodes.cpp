#include "installer/CatalogueCodes.h"

namespace orvelin {

std::wstring CategorySourceFolder(int category) {
    switch (category) {
        case kDatabaseServerCategory: return L"FILES\\DATABASE SERVERS";
        case kApplicationCategory: return L"FILES\\INSTALLED APPLIC";
        case kCommonCategory: return L"FILES\\COMMON APPLIC";
        case kThirdPartyCategory: return L"FILES\\THIRED PARTY APP";
        case kWindowsCategory: return L"FILES\\WINDOWS";
        default: return {};
    }
}

}  // namespace orvelin
