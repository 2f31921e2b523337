// The platform C run time's own functions, on UTF-8: the _mbs* forms step
// over whole UTF-8 sequences; the _str* forms are byte-wise as theirs are.
// Paths may use "\" or "/" (see Files.h).
#pragma once

#include <cstdio>

#include "platform/win32/windef.h"

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40

unsigned char* _mbslwr(unsigned char* str);
unsigned char* _mbsupr(unsigned char* str);
unsigned char* _mbsstr(const unsigned char* str, const unsigned char* sub);
int _mbscmp(const unsigned char* a, const unsigned char* b);
int _mbsicmp(const unsigned char* a, const unsigned char* b);
int _mbsnbicmp(const unsigned char* a, const unsigned char* b, size_t count);
// c is a character code (a code point here).
unsigned char* _mbschr(const unsigned char* str, unsigned int c);
unsigned char* _mbsrchr(const unsigned char* str, unsigned int c);
unsigned char* _mbsinc(const unsigned char* current);
// NULL when current is at or before start.
unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current);
size_t _mbslen(const unsigned char* str);
// Copies at most count bytes, padding with NULs like strncpy; a character
// that would be cut is left out (its bytes become NULs).
unsigned char* _mbsnbcpy(unsigned char* dest, const unsigned char* src, size_t count);

char* _strlwr(char* str);
char* _strupr(char* str);
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t count);
char* _strrev(char* str);
char* _itoa(int value, char* buffer, int radix);
char* _ltoa(long value, char* buffer, int radix);
char* _ultoa(unsigned long value, char* buffer, int radix);

// The drive is always empty here (a "C:" prefix is dropped); "/" and "\"
// both separate folders; dir keeps its final separator; ext keeps its dot.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
// A separator is added after a dir without one, a dot before an ext without one.
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);

// fopen with a share flag honoured against the process's other opens (NULL
// with errno EACCES on a conflict). Text mode ("t", or neither "t" nor "b")
// reads CR LF as LF and writes LF as CR LF.
FILE* _fsopen(const char* filename, const char* mode, int shflag);
int _fileno(FILE* stream);
long _filelength(int fd);
int _access(const char* path, int mode);
char* _getcwd(char* buffer, int maxlen);
int _chdir(const char* path);
int _mkdir(const char* path);
