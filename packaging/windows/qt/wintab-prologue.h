/* What Wine's Wintab header takes from Wine's own headers and MinGW-w64's lack: the calling
 * convention of the Wintab functions and the choice of their A or W form. */
#ifndef API
#define API WINAPI
#endif
#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(name) name##W
#else
#define WINELIB_NAME_AW(name) name##A
#endif
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
