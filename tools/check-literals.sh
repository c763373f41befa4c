#!/usr/bin/env bash
# Fails (exit 1, one file:line each) when product code outside resources/ holds a Japanese string
# or character literal: user-visible texts belong in the string table of resources/torvin.rc.
# Comments are not code and are skipped. Japanese is recognised as any non-ASCII character, or
# as a code page 932 double-byte character spelled as \x escapes.
#
# Allowed, each for the reason given: names the stored layout relies on are data, not texts.
#   settings/Cp932Texts.h            the folder and file names of the storage layout and the
#                                    version text written to setting.ini, byte by byte
#   settings/SettingsFormat.cpp:kMark  the UTF-8 byte-order mark, not text
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

allowed=(
  'settings/Cp932Texts.h'
  'settings/SettingsFormat.cpp:kMark'
)

mapfile -t files < <(find app pets settings mail skin framework -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

ALLOWED=$(printf '%s\n' "${allowed[@]}") perl -e '
  my @allowed = split /\n/, $ENV{ALLOWED};
  my $found = 0;
  my %said;
  FILE: for my $file (@ARGV) {
    for my $entry (@allowed) { next FILE if $entry eq $file; }
    open my $in, "<:raw", $file or die "$file: $!\n";
    my $text = do { local $/; <$in> };
    my @lines = split /\n/, $text, -1;
    my $line = 1;
    pos($text) = 0;
    while (pos($text) < length $text) {
      if ($text =~ /\G(\/\/[^\n]*|\/\*.*?\*\/)/gcs) {
        $line += ($1 =~ tr/\n//);
      } elsif ($text =~ /\G((?:u8|[LuU])?"(?:[^"\\\n]|\\.)*"|(?:u8|[LuU])?\x27(?:[^\x27\\\n]|\\.)*\x27)/gcs) {
        my $literal = $1;
        if ($literal =~ /[\x80-\xff]/ ||
            $literal =~ /\\x(?:8[1-9a-f]|9[0-9a-f]|e[0-9a-f]|f[0-9a-c])\\x(?:[4-7][0-9a-f]|[89a-f][0-9a-f])/i) {
          my $source = $lines[$line - 1];
          my $ok = grep { my ($path, $mark) = split /:/, $_, 2;
                          defined $mark && $path eq $file && index($source, $mark) >= 0 } @allowed;
          if (!$ok && !$said{"$file:$line"}++) {
            print "$file:$line: $source\n";
            $found = 1;
          }
        }
        $line += ($literal =~ tr/\n//);
      } elsif ($text =~ /\G([^\/"\x27\n]+|.)/gcs) {
        $line += ($1 =~ tr/\n//);
      }
    }
  }
  if ($found) {
    print STDERR "Japanese literals belong in the STRINGTABLE of resources/torvin.rc.\n";
    exit 1;
  }
' "${files[@]}"
