#!/usr/bin/env bash
# Counts the window server's requests of every opening, floor and key of `muhe.exe --bench`:
# the benchmark runs under strace (bench.sh --wine-only --trace), which sees each request as
# one write of 64 bytes on the process's request pipe (its first four bytes are the request's
# number) and the benchmark's marks as look-ups of names that do not exist. Counts are steadier
# than milliseconds on a shared machine; the figures of this run's clock mean nothing (strace
# slows every call).
#   bench-requests.sh            runs the benchmark and prints the counts (the trace, about
#                                1 GB, is removed afterwards)
#   bench-requests.sh --exe FILE the same for another build named muhe.exe
#   bench-requests.sh TRACE      prints the counts of a trace written before
# Per series (exam, chapter, ...) and kind (opening, floor, key): the number of samples, the
# median of requests, and the request numbers that make the difference between an opening
# and its floor (mean per opening minus mean per floor).
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
my ($markTid, $requestFd);
my %fdCount;
# First pass: the thread that marks, and its request pipe (the descriptor it writes 64 bytes to
# most often).
open(my $in, "<", $ARGV[0]) or die "cannot read $ARGV[0]\n";
while (my $line = <$in>) {
  if (!defined $markTid && $line =~ /^(\d+)\s+newfstatat\(.*"((?:\\x[0-9a-f]{2})+)"/) {
    my $tid = $1;
    (my $name = $2) =~ s/\\x([0-9a-f]{2})/chr(hex $1)/ge;
    $markTid = $tid if $name =~ /muhe-bench-mark-/;
    last if defined $markTid;
  }
}
die "no benchmark marks in the trace\n" unless defined $markTid;
seek($in, 0, 0);
while (my $line = <$in>) {
  next unless $line =~ /^$markTid\s+(write|writev)\((\d+),.*= 64$/;
  $fdCount{$2}++;
}
($requestFd) = sort { $fdCount{$b} <=> $fdCount{$a} } keys %fdCount;
seek($in, 0, 0);
# Segments may nest (a key inside nothing, a part of an opening inside the opening): every open
# one counts each request.
my ($series, %open, %samples, %histograms) = ("start-up");
while (my $line = <$in>) {
  next unless $line =~ /^$markTid\s+(\w+)\((.*)$/;
  my ($call, $rest) = ($1, $2);
  if ($call eq "newfstatat" && $rest =~ /"((?:\\x[0-9a-f]{2})+)"/) {
    (my $name = $1) =~ s/\\x([0-9a-f]{2})/chr(hex $1)/ge;
    next unless $name =~ /muhe-bench-mark-(.*)$/;
    my $mark = $1;
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
  next unless %open;
  next unless ($call eq "write" || $call eq "writev") && $rest =~ /^$requestFd,\s*(?:\[\{iov_base=)?"((?:\\x[0-9a-f]{2}){4})/;
  my @b = map { hex } ($1 =~ /\\x([0-9a-f]{2})/g);
  my $number = $b[0] | ($b[1] << 8) | ($b[2] << 16) | ($b[3] << 24);
  for my $segment (values %open) { $segment->{total}++; $segment->{$number}++; }
}
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
    print "    opening - floor, by request number: ", join(", ", map { sprintf "%d:%+.0f", $_, $diff{$_} } @top), "\n";
  }
  for my $k (grep { $_ ne "opening" && $_ ne "floor" } sort keys %{$samples{$s}}) {
    my $m = means($histograms{$s}{$k});
    my @top = grep { $m->{$_} >= 0.5 } sort { $m->{$b} <=> $m->{$a} } keys %$m;
    @top = @top[0 .. 11] if @top > 12;
    print "    $k, mean by request number: ", join(", ", map { sprintf "%d:%.1f", $_, $m->{$_} } @top), "\n";
  }
}
' "$trace"
