#!/usr/bin/perl
# The text-tool baseline of the benchmark: a line-by-line time shift of Dialogue and Comment
# lines in place (perl -i), both times moved by SHIFT centiseconds and clamped as Nosk does.
#   perl -i bench/shift.pl SHIFT FILE...
use strict;
use warnings;

my $shift = shift @ARGV;
$^I = '';  # in place, no backup

sub format_time {
  my $v = shift;
  $v = 0 if $v < 0;
  $v = 3599999 if $v > 3599999;
  return sprintf("%d:%02d:%02d.%02d", int($v / 360000), int($v / 6000) % 60, int($v / 100) % 60,
                 $v % 100);
}

while (<>) {
  s/^((?:Dialogue|Comment):\s?[^,]*,)(\d):(\d\d):(\d\d)\.(\d\d),(\d):(\d\d):(\d\d)\.(\d\d),/
    $1 . format_time($2 * 360000 + $3 * 6000 + $4 * 100 + $5 + $shift) . ","
       . format_time($6 * 360000 + $7 * 6000 + $8 * 100 + $9 + $shift) . ","/e;
  print;
}
