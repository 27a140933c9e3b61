#!/usr/bin/env bash
# Counts the window server's requests of every opening, floor and key of `muhe.exe --bench`:
# the benchmark runs with the Wine server tracing every request by name (bench.sh --wine-only
# --trace, `wineserver -d2`), and the benchmark's marks are look-ups of global atoms whose names
# the trace shows. Counts are steadier than milliseconds on a shared machine; the figures of
# this run's clock mean nothing (tracing slows every request).
#   bench-requests.sh            runs the benchmark and prints the counts (the trace, about
#                                100 MB, is removed afterwards)
#   bench-requests.sh --exe FILE the same for another build named muhe.exe
#   bench-requests.sh TRACE      prints the counts of a trace written before
# Per series (exam, chapter, ...) and kind (opening, floor, key): the number of samples, the
# median of requests, and the requests that make the difference between an opening and its
# floor (mean per opening minus mean per floor), or a key's requests. A look-up of the display
# settings shows as get_process_winstation, set_user_object_info and enum_key together.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
trace=""
exe=()
case "${1:-}" in
  --exe) exe=(--exe "$2") ;;
  "") ;;
  *) trace=$1 ;;
esac
if [ -z "$trace" ]; then
  trace=$(mktemp /tmp/muhe-requests-XXXXXX.trace)
  trap 'rm -f "$trace"' EXIT
  bash "$top/scripts/bench.sh" --wine-only "${exe[@]}" --trace "$trace" >/dev/null
fi
perl -e '
use strict; use warnings;
# The thread that marks is the one whose requests count.
my ($markTid, $series, %open, %samples, %histograms) = (undef, "start-up");
open(my $in, "<", $ARGV[0]) or die "cannot read $ARGV[0]\n";
while (my $line = <$in>) {
  # A request: "0024: name( arguments )"; its reply reads "0024: name() = ...".
  next unless $line =~ /^([0-9a-f]{4}): (\w+)\( / ;
  my ($tid, $call) = ($1, $2);
  if ($call eq "find_atom" && $line =~ /name=L"muhe-bench-mark-([^"]*)"/) {
    my $mark = $1;
    $markTid = $tid;
    if ($mark =~ /^series-(.*)$/) { $series = $1; next; }
    if ($mark =~ /^(\w+)-begins$/) {
      $open{$1} //= {total => 0};  # the same look-up repeated keeps the segment
      next;
    }
    if ($mark =~ /^(\w+)-ends$/ && $open{$1}) {
      my %h = %{delete $open{$1}};
      push @{$samples{$series}{$1}}, delete $h{total};
      push @{$histograms{$series}{$1}}, \%h;
    }
    next;
  }
  next unless %open && defined $markTid && $tid eq $markTid;
  # Segments may nest: every open one counts the request.
  for my $segment (values %open) { $segment->{total}++; $segment->{$call}++; }
}
die "no benchmark marks in the trace\n" unless defined $markTid;
sub median { my @s = sort { $a <=> $b } @_; return @s ? $s[int(@s / 2)] : 0; }
sub means {
  my ($list) = @_; my %sum;
  for my $h (@$list) { $sum{$_} += $h->{$_} for keys %$h; }
  my $n = @$list || 1;
  return { map { $_ => $sum{$_} / $n } keys %sum };
}
for my $s (sort keys %samples) {
  for my $k (sort keys %{$samples{$s}}) {
    printf "%-22s %-8s n=%-4d median %6d requests\n", $s, $k, scalar @{$samples{$s}{$k}}, median(@{$samples{$s}{$k}});
  }
  if ($samples{$s}{opening} && $samples{$s}{floor}) {
    my ($o, $f) = (means($histograms{$s}{opening}), means($histograms{$s}{floor}));
    my %diff;
    $diff{$_} = ($o->{$_} // 0) - ($f->{$_} // 0) for (keys %$o, keys %$f);
    my @top = grep { abs($diff{$_}) >= 1 } sort { abs($diff{$b}) <=> abs($diff{$a}) } keys %diff;
    @top = @top[0 .. 11] if @top > 12;
    print "    opening - floor: ", join(", ", map { sprintf "%s %+.0f", $_, $diff{$_} } @top), "\n";
  }
  for my $k (grep { $_ ne "opening" && $_ ne "floor" } sort keys %{$samples{$s}}) {
    my $m = means($histograms{$s}{$k});
    my @top = grep { $m->{$_} >= 0.5 } sort { $m->{$b} <=> $m->{$a} } keys %$m;
    @top = @top[0 .. 11] if @top > 12;
    print "    $k, mean: ", join(", ", map { sprintf "%s %.1f", $_, $m->{$_} } @top), "\n";
  }
}
' "$trace"
