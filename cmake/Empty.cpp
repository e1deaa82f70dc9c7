// Compiled only to build the precompiled headers the libraries share.
