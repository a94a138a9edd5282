# CMake generated Testfile for 
# Source directory: /work/main/src/tool
# Build directory: /work/main/build/src/tool
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
