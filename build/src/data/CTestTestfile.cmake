# CMake generated Testfile for 
# Source directory: /work/main/src/data
# Build directory: /work/main/build/src/data
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
