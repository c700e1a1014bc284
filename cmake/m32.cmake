# Toolchain file for the 32-bit x86 tree: the same compiler with -m32, x87
# floating point, and the i386 multiarch libraries.
#
# -fexcess-precision=fast: x87 values keep the register's extended precision
# and are rounded to double or float only where the compiler stores them.
# That is what the 32-bit results rest on (the cube's normals, the last
# digits of the rates); it is GCC 12's default, but strict ISO mode
# (CMAKE_CXX_EXTENSIONS OFF) makes GCC 13 and later default to "standard",
# which rounds at every assignment and cast. Named here so that it stays.
#
# -fno-builtin-sin -fno-builtin-cos: the 32-bit programs call the math
# library's sine and cosine as separate routines, in the order of the
# source; as builtins GCC would merge the two of one argument into one
# sincos call and place it as it likes.
set(M32_FLOAT_FLAGS "-mfpmath=387 -fexcess-precision=fast -fno-builtin-sin -fno-builtin-cos")
set(CMAKE_C_FLAGS_INIT "-m32 ${M32_FLOAT_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "-m32 ${M32_FLOAT_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(FIND_LIBRARY_USE_LIB64_PATHS OFF)
# FindGLUT asks pkg-config first; without this it finds the amd64 libglut.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig")
