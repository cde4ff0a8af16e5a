# Writes the seed inputs of monitor_tick_fuzzer, one scenario each, into the directory named:
#   python3 fuzz/monitor_tick_seeds.py fuzz/corpus/monitor_tick
# FuzzedDataProvider takes numbers from the end of the input, so each scenario is its list of
# choices, reversed.
import os, sys
out = sys.argv[1]
os.makedirs(out, exist_ok=True)
EV = dict(tick=0, ticks=1, key=2, mouse=3, datagram=4, reset=5, test=6, about=7, exit=8, window=9)
def settings(slave=False, shut_type=1, start_delay=2, cpu_delay=5, shut_time=3, start_min=False,
             on_top=False, inhibit=False):
    return [int(slave), shut_type - 1, start_delay - 1, cpu_delay - 5, shut_time - 2,
            int(start_min), int(on_top), int(inhibit)]
def ticks(n):
    seq = []
    while n > 0:
        step = min(n, 40)
        seq += [EV['ticks'], step - 1]
        n -= step
    return seq
def seconds(n): return ticks(2 * n)
def key(code, down=True): return [EV['key'], int(down), code]
def mouse(x, y): return [EV['mouse'], x >> 8, x & 255, y >> 8, y & 255]
def datagram(kind): return [EV['datagram'], kind]  # 0 heartbeat 1 first 2 cancel 3 test
def screen(seconds_open, timeout=4):
    return [EV['about'], timeout - 1] + [1] * seconds_open + [0]
def write(name, choices):
    open(os.path.join(out, name), 'wb').write(bytes(reversed(choices)))

write('master_power_off', settings() + seconds(30))
write('master_key_in_run_then_countdown',
      settings(cpu_delay=6) + seconds(4) + key(38) + seconds(2) + key(38, False) + seconds(20))
write('master_cancel_countdown', settings(shut_time=7) + seconds(10) + [EV['reset']] + seconds(3))
write('master_test_run_box_with_ticks',
      settings() + [EV['test']] + seconds(8) + [8] + seconds(5))
write('master_hibernate_test_mode', settings(shut_type=5, inhibit=True) + seconds(25) + [3] + seconds(5))
write('master_monitor_in_tray', settings(shut_type=4, start_min=True, on_top=True) + seconds(20)
      + [EV['window'], 0] + seconds(5))
write('master_screen_times_out', settings(start_delay=1) + seconds(2) + screen(6) + seconds(10))
write('master_exit', settings() + seconds(3) + [EV['exit']])
write('slave_link_lost', settings(slave=True, shut_type=6) + seconds(20))
write('slave_heartbeats_then_cancel_test',
      settings(slave=True) + seconds(3) + datagram(0) + seconds(1) + datagram(1) + seconds(8)
      + datagram(2) + seconds(2) + datagram(3) + seconds(10))
write('slave_monitor_not_configured', settings(slave=True, shut_type=4) + seconds(5) + [EV['reset'], EV['test']])
