# The actions: taskbar options, companion tool, power states, switch flows.
orvex_add_e2e_test(test_shell_actions.py)
orvex_add_e2e_test(test_power_actions.py)
orvex_add_e2e_test(test_session_end.py LOCKS display TIMEOUT 900)
orvex_add_e2e_test(test_switch_flows.py LOCKS script_server registry display)
