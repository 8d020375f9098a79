#pragma once
// The Simple MAPI structures, entry points and values, for either character
// type: the ANSI structures are MapiRecipDesc, MapiFileDesc and MapiMessage,
// the wide ones their W forms. Declared here rather than taken from <mapi.h>:
// not every SDK declares the W forms, and a client DLL defining the entry
// points must not meet the SDK's own declarations of them.
#include <windows.h>

namespace vistrane::simple_mapi {

using LHANDLE = ULONG_PTR;
using FLAGS = ULONG;

inline constexpr ULONG SUCCESS_SUCCESS = 0;
inline constexpr ULONG MAPI_USER_ABORT = 1;
inline constexpr ULONG MAPI_E_FAILURE = 2;
inline constexpr ULONG MAPI_E_INVALID_SESSION = 19;

inline constexpr ULONG MAPI_TO = 1;
inline constexpr FLAGS MAPI_LOGON_UI = 0x1;
inline constexpr FLAGS MAPI_DIALOG = 0x8;

template <typename Char>
struct RecipDesc {
  ULONG ulReserved;
  ULONG ulRecipClass;
  Char* lpszName;
  Char* lpszAddress;
  ULONG ulEIDSize;
  void* lpEntryID;
};

template <typename Char>
struct FileDesc {
  ULONG ulReserved;
  ULONG flFlags;
  ULONG nPosition;
  Char* lpszPathName;
  Char* lpszFileName;
  void* lpFileType;
};

template <typename Char>
struct Message {
  ULONG ulReserved;
  Char* lpszSubject;
  Char* lpszNoteText;
  Char* lpszMessageType;
  Char* lpszDateReceived;
  Char* lpszConversationID;
  FLAGS flFlags;
  RecipDesc<Char>* lpOriginator;
  ULONG nRecipCount;
  RecipDesc<Char>* lpRecips;
  ULONG nFileCount;
  FileDesc<Char>* lpFiles;
};

template <typename Char>
using SendMailFunction = ULONG(WINAPI*)(LHANDLE, ULONG_PTR, Message<Char>*, FLAGS, ULONG);
using LogonFunction = ULONG(WINAPI*)(ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LHANDLE*);
using LogoffFunction = ULONG(WINAPI*)(LHANDLE, ULONG_PTR, FLAGS, ULONG);

}  // namespace vistrane::simple_mapi
