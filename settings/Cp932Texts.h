#pragma once
// Fixed texts that are written to disk or used in paths, as code page 932 bytes.
// The source is UTF-8, so these are spelled out byte by byte; a test on Windows checks each
// against the system's own conversion of the Japanese text shown beside it.

namespace torvin::cp932 {

// "v0.1.2β1"
inline constexpr char kVersionText[] =
    "v0.1.2\x83\xc0"
    "1";
// "設定保存部屋\"
inline constexpr char kStorageRootPrefix[] = "\x90\xdd\x92\xe8\x95\xdb\x91\xb6\x95\x94\x89\xae\\";
// "設定保存部屋"
inline constexpr char kStorageRoot[] = "\x90\xdd\x92\xe8\x95\xdb\x91\xb6\x95\x94\x89\xae";
// "初期設定バックアップ"
inline constexpr char kBackupFolderName[] =
    "\x8f\x89\x8a\xfa\x90\xdd\x92\xe8\x83\x6f\x83\x62\x83\x4e\x83\x41\x83\x62\x83\x76";
// "回収部屋": where a host file that no pet owns is moved to
inline constexpr char kRecoveryFolderName[] = "\x89\xf1\x8e\xfb\x95\x94\x89\xae";
// "\Nimbrel設定.nbc"
inline constexpr char kHostSettingsSuffix[] = "\\Nimbrel\x90\xdd\x92\xe8.nbc";
// "\Nimbrel20.exe"
inline constexpr char kHostExeSuffix[] = "\\Nimbrel20.exe";

}  // namespace torvin::cp932
