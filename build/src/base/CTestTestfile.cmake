# CMake generated Testfile for 
# Source directory: /work/main/src/base
# Build directory: /work/main/build/src/base
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
