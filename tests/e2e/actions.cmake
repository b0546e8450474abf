# Each option's action, the switch through the real pipe, and the end of the session.
orvex_add_e2e_test(test_dispatch.py LOCKS script_server)
orvex_add_e2e_test(test_switch_flows.py LOCKS script_server registry display)
orvex_add_e2e_test(test_session_end.py LOCKS display)
