// Entry point of every test program (the programs are built with -municode).
#include <gtest/gtest.h>

#include "platform/Handles.h"

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    orvelin::ComApartment com;
    return RUN_ALL_TESTS();
}
